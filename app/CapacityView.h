// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;
class QWidget;

// The widgets of the battery capacity page, built below the page's header in the
// dashboard's look: large coloured totals, a table of averages and peaks, the test's
// state, its buttons and its end conditions.
class CapacityView : public QObject {
    Q_OBJECT
public:
    CapacityView(QWidget* page, QVBoxLayout* pageLayout, QObject* parent);

    // The texts of the current language.
    void relabel();

    QLabel* charge;
    QLabel* energy;
    QLabel* elapsed;
    // Rows: average, peak; columns: V, A, W.
    QLabel* values[2][3];
    QLabel* state;
    QPushButton* start;
    QPushButton* pause;
    QPushButton* reset;
    QDoubleSpinBox* endCurrent;
    QSpinBox* endHold;
    QCheckBox* cutOffOn;
    QDoubleSpinBox* cutOffVolts;

private:
    QWidget* buildTotals();
    QWidget* buildTable();
    QWidget* buildControls();
    QWidget* buildLimits();

    QLabel* chargeName;
    QLabel* energyName;
    QLabel* elapsedName;
    QLabel* rowNames[2];
    QLabel* columnNames[3];
    QLabel* autoEndName;
    QLabel* endCurrentName;
    QLabel* endHoldName;
};
