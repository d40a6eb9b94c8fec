#include "app/Questions.h"

#include <QFileDialog>
#include <QMessageBox>

bool MessageBoxQuestions::AskYesNo(QWidget* parent, const QString& message, const QString& title)
{
    return QMessageBox::question(parent, title, message, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

void MessageBoxQuestions::ShowMessage(QWidget* parent, const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok, parent);
    box.exec();
}

QString MessageBoxQuestions::AskSaveFileName(QWidget* parent, const QString& title,
                                             const QString& suggestedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}
