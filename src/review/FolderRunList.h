#pragma once

// The runs kept in the class folder's 記録, newest first: date and start, length, interval,
// number of samples, lowest and highest temperature, and the name the class gave it. A file
// that is no run is listed with the reason. Enter or a double click opens the run.

#include <QString>
#include <QTreeWidget>

class FolderRunList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderRunList(QString folder, QWidget* parent = nullptr);

    // Reads the folder again.
    void refresh();
    const QString& folder() const { return m_folder; }

signals:
    void openRequested(const QString& path);

private:
    QString m_folder;
};
