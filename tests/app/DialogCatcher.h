#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers the modal dialogs the code under test opens: every message box is noted as
// "title|text" and closed; a file dialog is noted as "caption|directory|filter" and
// answered with `fileToChoose` (cancelled when it is empty).
class DialogCatcher : public QObject {
public:
    DialogCatcher() {
        connect(&poll, &QTimer::timeout, this, &DialogCatcher::answer);
        poll.start(pollMs);
    }

    QStringList boxes;
    QStringList fileDialogs;
    QString fileToChoose;

private:
    static constexpr int pollMs = 10;

    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->windowTitle() + "|" + box->text();
            box->done(QMessageBox::Ok);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            fileDialogs << files->windowTitle() + "|" + files->directory().absolutePath() + "|" +
                               files->nameFilters().join(';');
            if (fileToChoose.isEmpty()) {
                files->reject();
            } else {
                files->selectFile(fileToChoose);
                static_cast<QDialog*>(files)->accept(); // QFileDialog hides it
            }
        }
    }

    QTimer poll;
};
