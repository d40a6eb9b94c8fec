#include "widgets/Questions.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// The program ends its message lines with carriage returns; a message box breaks lines at line
// feeds, and a break after the last line would only add an empty line.
QString ShownText(QString message)
{
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (message.endsWith(QLatin1Char('\n')))
        message.chop(1);
    return message;
}

} // namespace

// No icon: the questions are plain Yes/No, with Yes as the default.
bool MessageBoxQuestions::AskYesNo(QWidget* parent, const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, ShownText(message),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxQuestions::ShowMessage(QWidget* parent, const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, ShownText(message), QMessageBox::Ok, parent);
    box.exec();
}

QString MessageBoxQuestions::AskSaveFileName(QWidget* parent, const QString& title,
                                             const QString& suggestedPath, const QString& filter)
{
    // Qt's own dialog speaks the program's language; a desktop's native one follows the system's.
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QStringList MessageBoxQuestions::AskOpenFileNames(QWidget* parent, const QString& title, const QString& folder,
                                                  const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, title, folder, filter, nullptr, QFileDialog::DontUseNativeDialog);
}
