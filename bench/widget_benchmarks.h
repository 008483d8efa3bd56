#pragma once
// The main() of the benchmark programs: Qt's
// widgets on the offscreen platform unless another is asked for, and a
// message (none is expected) answered at once, so that no run waits for a
// click. The offscreen platform warns at every raise of a window, and the
// runs raise one thousands of times: that warning is left out.
#include "platform/dialogs.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

inline int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("does not support raise()")))
            previous(type, context, text);
    });
    dialogs::setHandler([](const dialogs::Shown&) { return false; });
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
