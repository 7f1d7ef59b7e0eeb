// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveStyleTable.h"

#include "CurveStyles.h"
#include "MeterReading.h"

#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <array>

namespace {

constexpr int rowCount = 10;
constexpr int columnCount = 3;
constexpr int themeRow = 8;
constexpr int closeRow = 9;
constexpr int nameColumn = 0;
constexpr int colourColumn = 1;
constexpr int widthColumn = 2;
constexpr int minimumColumn = 100;
// Ten rows fit the table's height under the header, so nothing needs scrolling.
constexpr int rowHeight = 28;
constexpr QSize tableSize(320, 330);
// The table sits this far up and left of the centre of the display page.
constexpr int placementShift = 100;

const std::array<const char*, recordedChannelCount> channelNames{
    "VBUS", "IBUS", "POWER", "PD", "PM", "CC1", "CC2", "CPU_Temp"};

const char* const closeStyle =
    "QPushButton{background-color: rgb(126, 236, 236);color: black;border:2px groove "
    "gray;border-radius:10px;padding:2px 4px;border-style: outset;} "
    "QPushButton:hover{background-color:rgb(126, 255, 206); color: black;} "
    "QPushButton:pressed{background-color:rgb(0, 255, 0);border-style: inset;}";

// The table speaks for the main dialog: its texts live in that translation context.
QString trDialog(const char* sourceText) {
    return QCoreApplication::translate("MainDialog", sourceText);
}

QString colourStyle(const QColor& colour) {
    return QStringLiteral("background:rgb(%1,%2,%3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

// Cell widgets sit centred in a container without margins or spacing.
void setCentred(QTableView* view, int row, int column, QWidget* control) {
    auto* container = new QWidget();
    auto* layout = new QHBoxLayout(container);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 0, Qt::AlignCenter);
    view->setIndexWidget(view->model()->index(row, column), container);
}

QComboBox* comboBox(const QStringList& items, int current) {
    auto* box = new QComboBox();
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

} // namespace

CurveStyleTable::CurveStyleTable(QWidget* host, CurveStyles& styles, QWidget* dialogParent,
                                 QObject* parent)
    : QObject(parent), host(host), styles(styles), pickColour([dialogParent](const QColor& c) {
          return QColorDialog::getColor(c, dialogParent, QString(), {});
      }) {}

QString CurveStyleTable::buttonStyle() {
    return QString::fromLatin1(closeStyle);
}

void CurveStyleTable::open() {
    auto* model = new QStandardItemModel(rowCount, columnCount);
    QTableView* view = buildView(model);
    fillNames(model);
    addCloseButton(view);
    for (int k = 0; k < recordedChannelCount; ++k) {
        addColourButton(view, k);
        addWidthBox(view, k);
    }
    addThemeBox(view);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setMinimumSectionSize(minimumColumn);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(rowHeight);
    view->verticalHeader()->setDefaultSectionSize(rowHeight);
    place(view);
}

QTableView* CurveStyleTable::shownTable() const {
    return styleTable && !styleTable->isHidden() ? styleTable.data() : nullptr;
}

QTableView* CurveStyleTable::buildView(QStandardItemModel* model) {
    model->setHorizontalHeaderItem(nameColumn, new QStandardItem(QStringLiteral(" ")));
    model->setHorizontalHeaderItem(colourColumn, new QStandardItem(trDialog("曲线颜色")));
    model->setHorizontalHeaderItem(widthColumn, new QStandardItem(trDialog("曲线宽度")));
    model->setVerticalHeaderItem(themeRow, new QStandardItem(QStringLiteral(" ")));
    model->setVerticalHeaderItem(closeRow, new QStandardItem(QStringLiteral(" ")));
    auto* view = new QTableView(host);
    // Closed tables go: each opening builds a new one.
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setModel(model);
    model->setParent(view);
    view->setSpan(closeRow, nameColumn, 1, columnCount);
    styleTable = view;
    return view;
}

void CurveStyleTable::fillNames(QStandardItemModel* model) {
    for (int k = 0; k < recordedChannelCount; ++k)
        model->setItem(k, nameColumn,
                       new QStandardItem(trDialog(channelNames[static_cast<size_t>(k)])));
    model->setItem(themeRow, nameColumn, new QStandardItem(trDialog("背景颜色风格：")));
}

// Each table's "确定" closes that table, whichever was opened last.
void CurveStyleTable::addCloseButton(QTableView* view) {
    auto* button = new QPushButton(trDialog("确定"));
    button->setStyleSheet(buttonStyle());
    connect(button, &QPushButton::clicked, view, &QWidget::close);
    setCentred(view, closeRow, colourColumn, button);
}

// The button shows the colour the settings file holds now, or the channel's default.
void CurveStyleTable::addColourButton(QTableView* view, int channel) {
    auto* button = new QPushButton();
    button->setStyleSheet(colourStyle(CurveStyles::storedColour(channel).value_or(
        CurveStyles::defaultColour(channel, CurveStyles::storedThemeCode()))));
    connect(button, &QPushButton::clicked, this,
            [this, channel, button] { chooseColour(channel, button); });
    setCentred(view, channel, colourColumn, button);
}

// Connected after the current item is chosen, so showing the table changes nothing.
void CurveStyleTable::addWidthBox(QTableView* view, int channel) {
    QComboBox* box = comboBox(CurveStyles::widthTexts(), CurveStyles::storedWidthCode(channel));
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, channel](int code) {
        styles.setWidthCode(channel, code);
        emit penChanged(channel);
    });
    setCentred(view, channel, widthColumn, box);
}

void CurveStyleTable::addThemeBox(QTableView* view) {
    const QStringList names = CurveStyles::themeNames();
    QComboBox* box = comboBox(names, CurveStyles::storedThemeCode());
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, names, view](int code) {
                if (code < 0 || code >= names.size())
                    return;
                styles.setTheme(code);
                showDefaultColours(view);
                emit themeChanged(code);
            });
    setCentred(view, themeRow, colourColumn, box);
}

// At least 320 x 330, larger when the rows or columns need it: the whole table always
// shows, so it never scrolls.
void CurveStyleTable::place(QTableView* view) {
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->show(); // polished: the columns measure their contents in the real style
    const QAbstractItemView* cells = view;
    const int frame = 2 * view->frameWidth();
    int width = view->verticalHeader()->sizeHint().width() + frame;
    for (int column = 0; column < columnCount; ++column)
        width += std::max({minimumColumn, cells->sizeHintForColumn(column),
                           view->horizontalHeader()->sectionSizeHint(column)});
    const int height =
        view->horizontalHeader()->sizeHint().height() + view->verticalHeader()->length() + frame;
    const QSize size(std::max(tableSize.width(), width), std::max(tableSize.height(), height));
    view->setGeometry((host->width() - size.width()) / 2 - placementShift,
                      (host->height() - size.height()) / 2 - placementShift, size.width(),
                      size.height());
}

// Channels without a colour of their own take the new theme's default.
void CurveStyleTable::showDefaultColours(QTableView* view) {
    for (int k = 0; k < recordedChannelCount; ++k) {
        QWidget* cell = view->indexWidget(view->model()->index(k, colourColumn));
        auto* button = cell ? cell->findChild<QPushButton*>() : nullptr;
        if (button && styles.at(k).defaultColour)
            button->setStyleSheet(colourStyle(styles.at(k).colour));
    }
}

// A cancelled dialog keeps the colour, which is still written back.
void CurveStyleTable::chooseColour(int channel, QPushButton* button) {
    // The colour dialog runs its own event loop; the table may be gone when it returns.
    const QPointer<QPushButton> clicked(button);
    styles.setColour(channel, pickColour(styles.at(channel).colour));
    if (clicked)
        clicked->setStyleSheet(colourStyle(styles.at(channel).colour));
    emit penChanged(channel);
}
