// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceQuestion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString trJournal(const char* sourceText) {
    return QCoreApplication::translate("RunJournal", sourceText);
}

} // namespace

ReplaceAnswer askReplaceUnsaved(QWidget* parent, int samples) {
    QMessageBox box(QMessageBox::Question, trJournal("打开数据"),
                    trJournal("当前记录有 %1 条数据尚未保存。先保存，还是直接替换？"
                              "被替换的记录可从“打开上次的记录”找回。")
                        .arg(samples),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("replaceQuestion"));
    QPushButton* save = box.addButton(trJournal("先保存"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(trJournal("替换"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(trJournal("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return ReplaceAnswer::SaveFirst;
    if (box.clickedButton() == replace)
        return ReplaceAnswer::Replace;
    return ReplaceAnswer::Cancel;
}
