// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartTitle.h"

#include "MainTr.h"

#include <QAbstractButton>
#include <QInputDialog>

void editChartTitle(QWidget* parent, QAbstractButton* title) {
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(parent, trMain("标题变更对话框"), trMain("请输入标题:"),
                              QLineEdit::Normal, title->text(), &confirmed);
    if (confirmed)
        title->setText(text);
}
