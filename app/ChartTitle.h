// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractButton;
class QWidget;

// Asks for a new chart title, starting from the current one. Any confirmed text, an empty
// one too, becomes the title; a cancel keeps the old one.
void editChartTitle(QWidget* parent, QAbstractButton* title);
