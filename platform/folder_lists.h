#pragma once
// A drive list and a folder list, as the original's windows chose folders
// with: the drive list shows the mounted roots, the folder list the folders
// from the root down to the open folder and the open folder's sub-folders.
#include <QComboBox>
#include <QListWidget>

// The mounted roots; Change fires when another drive is chosen.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);
    // The chosen drive's root folder.
    QString drive() const;

signals:
    void Change();
};

// The open folder with its parents and sub-folders; a double click opens a
// folder. Change fires when the open folder changes, by the user or by code.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);
    // The open folder, absolute, without a "/" at the end (but the root "/").
    QString path() const { return m_path; }
    void setPath(const QString& folder);

signals:
    void Change();

private:
    void fill();
    QString m_path;
};
