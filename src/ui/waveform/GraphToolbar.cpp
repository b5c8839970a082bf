#include "ui/waveform/GraphToolbar.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorn::ui {

namespace {

constexpr QSize kButtonImage(16, 15);

using IconPainter = void (*)(QPainter&);

struct ButtonSpec {
    int command;        // 0: a separator
    const char* prompt; // status-bar prompt and tooltip, separated by a line break
    IconPainter paint;
};

void Printer(QPainter& p) {
    p.drawRect(4, 1, 7, 5);
    p.fillRect(1, 6, 14, 6, Qt::lightGray);
    p.drawRect(1, 6, 13, 5);
    p.fillRect(4, 10, 8, 4, Qt::white);
    p.drawRect(4, 10, 7, 4);
}

// Three traces running into one bus.
void Combine(QPainter& p) {
    for (int y : {2, 7, 12})
        p.drawLine(1, y, 7, 7);
    p.fillRect(7, 5, 8, 5, Qt::black);
}

// One bus running out into three traces.
void Spread(QPainter& p) {
    p.fillRect(1, 5, 8, 5, Qt::black);
    for (int y : {2, 7, 12})
        p.drawLine(8, 7, 14, y);
}

void Reverse(QPainter& p) {
    p.drawLine(2, 4, 13, 4);
    p.drawLine(10, 1, 13, 4);
    p.drawLine(2, 10, 13, 10);
    p.drawLine(2, 10, 5, 13);
}

void Lens(QPainter& p) {
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(9, 9, 14, 14);
    p.setPen(Qt::black);
    p.drawLine(3, 5, 8, 5);
}

void ZoomOut(QPainter& p) {
    Lens(p);
}

void ZoomIn(QPainter& p) {
    Lens(p);
    p.drawLine(5, 3, 5, 8);
}

void Grid(QPainter& p) {
    for (int at : {1, 5, 9, 13}) {
        p.drawLine(at, 1, at, 13);
        p.drawLine(1, at, 13, at);
    }
}

void Name(QPainter& p) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 12, 12), Qt::AlignCenter, QStringLiteral("Ab"));
    p.drawLine(13, 2, 13, 13);
}

void Open(QPainter& p) {
    QPainterPath folder;
    folder.moveTo(1, 3);
    folder.lineTo(5, 3);
    folder.lineTo(6, 4);
    folder.lineTo(12, 4);
    folder.lineTo(12, 13);
    folder.lineTo(1, 13);
    folder.closeSubpath();
    p.fillPath(folder, QColor(240, 200, 80));
    p.drawPath(folder);
}

void Save(QPainter& p) {
    p.fillRect(1, 1, 14, 13, QColor(40, 70, 160));
    p.fillRect(4, 1, 8, 5, Qt::white);
    p.fillRect(4, 9, 8, 5, Qt::lightGray);
}

const ButtonSpec kButtons[] = {
    {ID_GRAPH_PRINT, "", Printer},
    {0, nullptr, nullptr},
    {ID_GRAPH_COMBINE, "Combine \nCombine", Combine},
    {ID_GRAPH_SPREAD, "Spread \nSpread", Spread},
    {ID_GRAPH_REVERSE, "Reverse \nReverse", Reverse},
    {0, nullptr, nullptr},
    {ID_GRAPH_ZOOM_OUT, "Zoom Out \nZoom Out", ZoomOut},
    {ID_GRAPH_ZOOM_IN, "Zoom In \nZoom In", ZoomIn},
    {ID_GRAPH_TOGGLE_GRID, "Toggle Grid \nToggle Grid", Grid},
    {ID_GRAPH_CHANGE_NAME, "Change name or add notes \nChange name or add notes", Name},
    {0, nullptr, nullptr},
    {ID_GRAPH_OPEN, "Open \nOpen", Open},
    {ID_GRAPH_SAVE, "Save \nSave", Save},
};

QIcon ButtonImage(IconPainter paint) {
    QPixmap image(kButtonImage);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    paint(painter);
    return QIcon(image);
}

} // namespace

GraphToolbar::GraphToolbar(QWidget* parent, const CommandSink& sink) : QToolBar(parent) {
    setObjectName(QString::number(IDR_GRAPH_TOOLBAR));
    setIconSize(kButtonImage);
    setFixedHeight(kGraphToolbarStrip);
    setMovable(false);
    for (const ButtonSpec& spec : kButtons) {
        if (spec.command == 0) {
            addSeparator();
            continue;
        }
        const QStringList prompt = QString::fromLatin1(spec.prompt).split(QLatin1Char('\n'));
        QAction* action = addAction(ButtonImage(spec.paint), prompt.value(1));
        action->setData(spec.command);
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1));
        connect(action, &QAction::triggered, this, [sink, command = spec.command] { sink(command); });
    }
}

QAction* GraphToolbar::button(int command) const {
    for (QAction* action : actions())
        if (action->data().toInt() == command) return action;
    return nullptr;
}

void GraphToolbar::ShowState(const waveform::ToolbarState& state) {
    button(ID_GRAPH_COMBINE)->setEnabled(state.combine);
    button(ID_GRAPH_REVERSE)->setEnabled(state.reverse);
    button(ID_GRAPH_SPREAD)->setEnabled(state.spread);
    button(ID_GRAPH_CHANGE_NAME)->setEnabled(state.changeName);
}

} // namespace vorn::ui
