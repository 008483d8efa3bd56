#include "platform/runtime.h"

#include <QApplication>
#include <QCoreApplication>
#include <deque>
#include <random>

namespace {
std::mt19937_64 gGenerator{0};
std::deque<double> gScripted;
long gBeeps = 0;
}

double Rnd()
{
    if (!gScripted.empty()) {
        const double r = gScripted.front();
        gScripted.pop_front();
        return r;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(gGenerator);
}

void Randomize(double seed)
{
    gGenerator.seed(static_cast<std::uint64_t>(seed * 1000.0));
    gScripted.clear();
}

void Beep()
{
    ++gBeeps;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())
        && qgetenv("QT_QPA_PLATFORM") != "offscreen")
        QApplication::beep();
}

void DoEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

BusyPointer::BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyPointer::~BusyPointer() { QApplication::restoreOverrideCursor(); }

namespace runtime {
long beepCount() { return gBeeps; }
void resetBeeps() { gBeeps = 0; }
void scriptRandom(const std::vector<double>& values) { gScripted.assign(values.begin(), values.end()); }
}
