// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

#include <functional>

class CurveStyles;
class QComboBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

// The curve style table laid over the display page: a colour button and a width box per
// channel, the chart theme box and "确定". Each choice changes CurveStyles, which stores it
// at once, and is announced so the chart can re-apply the pen or the theme.
class CurveStyleTable : public QObject {
    Q_OBJECT
public:
    // Asks the user for a colour, starting from the current one; an invalid colour means
    // the choice was cancelled.
    using ColourPicker = std::function<QColor(const QColor& current)>;

    // host: the widget the table is laid over; dialogParent: the colour dialog's parent.
    CurveStyleTable(QWidget* host, CurveStyles& styles, QWidget* dialogParent,
                    QObject* parent = nullptr);

    // Builds a new table from the settings file and shows it; a table already shown
    // stays where it is.
    void open();
    // The table last opened until it is closed, otherwise null.
    QTableView* shownTable() const;
    void setColourPicker(ColourPicker picker) { pickColour = std::move(picker); }
    // The look of the table's buttons, shared by the other tables laid over the chart.
    static QString buttonStyle();

signals:
    void penChanged(int channel);
    void themeChanged(int code);

private:
    QTableView* buildView(QStandardItemModel* model);
    void fillNames(QStandardItemModel* model);
    void addColourButton(QTableView* view, int channel);
    void addWidthBox(QTableView* view, int channel);
    void addThemeBox(QTableView* view);
    void addCloseButton(QTableView* view);
    void place(QTableView* view);
    void chooseColour(int channel, QPushButton* button);
    void showDefaultColours(QTableView* view);

    QWidget* host;
    CurveStyles& styles;
    QPointer<QTableView> styleTable;
    ColourPicker pickColour;
};
