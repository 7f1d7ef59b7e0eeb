// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QQueue>
#include <QTimer>
#include <QtTest>

#include <functional>

// Answers the modal dialogs and popup menus a test opens, in the order they show, as soon
// as each is on screen: a test never waits a fixed time for a dialog. A dialog that shows
// with no answer left is counted as unexpected and noted: a message box in `boxes` as
// "title|text", then closed; a file dialog in `fileDialogs` as "caption|directory|filter",
// then answered with `fileToChoose` (cancelled when that is empty); anything else closed.
class DialogAnswers : public QObject {
public:
    using Answer = std::function<void(QWidget* dialog)>;

    DialogAnswers() {
        connect(&timer, &QTimer::timeout, this, &DialogAnswers::poll);
        timer.start(10); // ms
    }

    void expect(Answer answer) { answers.enqueue(std::move(answer)); }
    int unanswered() const { return answers.size(); }
    int unexpected() const { return unexpectedCount; }

    QStringList boxes;
    QStringList fileDialogs;
    QString fileToChoose;

    // Takes down a message box's title and text, then presses its OK button.
    static Answer acknowledge(QString* title, QString* text) {
        return [title, text](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            *title = box->windowTitle();
            *text = box->text();
            box->button(QMessageBox::Ok)->click();
        };
    }

    // Notes a message box's button texts in `buttons`, then clicks the one whose text starts
    // with `prefix`; with none such the test fails and the box is closed as unexpected.
    static Answer press(const QString& prefix, QStringList* buttons = nullptr) {
        return [prefix, buttons](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                if (buttons)
                    *buttons << b->text();
                if (!chosen && b->text().startsWith(prefix))
                    chosen = b;
            }
            QVERIFY2(chosen, qPrintable(prefix));
            chosen->click();
        };
    }
    static Answer escape() {
        return [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); };
    }

private:
    void poll() {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown || !shown->isVisible())
            return;
        if (answers.isEmpty())
            noteAndClose(shown);
        else
            answers.dequeue()(shown);
    }

    void noteAndClose(QWidget* shown) {
        ++unexpectedCount;
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            boxes << box->windowTitle() + "|" + box->text();
            box->done(QMessageBox::Ok);
        } else if (auto* files = qobject_cast<QFileDialog*>(shown)) {
            fileDialogs << files->windowTitle() + "|" + files->directory().absolutePath() + "|" +
                               files->nameFilters().join(';');
            if (fileToChoose.isEmpty()) {
                files->reject();
            } else {
                files->selectFile(fileToChoose);
                static_cast<QDialog*>(files)->accept(); // QFileDialog hides it
            }
        } else {
            shown->close();
        }
    }

    QTimer timer;
    QQueue<Answer> answers;
    int unexpectedCount = 0;
};
