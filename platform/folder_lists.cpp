#include "platform/folder_lists.h"

#include <QDir>
#include <QStorageInfo>

namespace {
constexpr int kIndent = 2;
constexpr int kFolderRole = Qt::UserRole;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    roots.sort();
    addItems(roots);
    connect(this, &QComboBox::activated, this, [this] { emit Change(); });
}

QString DriveList::drive() const { return currentText(); }

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->data(kFolderRole).toString()); });
}

void FolderList::setPath(const QString& folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (path == m_path)
        return;
    m_path = path;
    fill();
    emit Change();
}

void FolderList::fill()
{
    clear();
    QStringList parts = m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString at = QStringLiteral("/");
    auto add = [this](const QString& name, const QString& folder, int depth) {
        auto* item = new QListWidgetItem(QString(depth * kIndent, QLatin1Char(' ')) + name, this);
        item->setData(kFolderRole, folder);
    };
    add(at, at, 0);
    for (int i = 0; i < parts.size(); ++i) {
        at = QDir(at).filePath(parts[i]);
        add(parts[i], at, i + 1);
    }
    setCurrentRow(count() - 1);
    const QDir open(m_path);
    for (const QString& sub : open.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(sub, open.filePath(sub), static_cast<int>(parts.size()) + 1);
}
