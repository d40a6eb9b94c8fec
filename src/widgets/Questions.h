#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's questions to the user: Yes/No with Yes as the default, and an OK-only text.
class Questions {
public:
    virtual ~Questions() = default;
    virtual bool AskYesNo(QWidget* parent, const QString& message, const QString& title) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& message, const QString& title) = 0;
    // Where to save a file: the chosen path, or empty when the user cancels.
    virtual QString AskSaveFileName(QWidget* parent, const QString& title,
                                    const QString& suggestedPath, const QString& filter) = 0;
    // Which files to open: the chosen paths, or none when the user cancels.
    virtual QStringList AskOpenFileNames(QWidget* parent, const QString& title, const QString& folder,
                                         const QString& filter) = 0;
};

class MessageBoxQuestions final : public Questions {
public:
    bool AskYesNo(QWidget* parent, const QString& message, const QString& title) override;
    void ShowMessage(QWidget* parent, const QString& message, const QString& title) override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                            const QString& filter) override;
    QStringList AskOpenFileNames(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) override;
};
