// Twips to pixels and back. The twips a control was given are kept on the
// widget, so that reading a position back gives exactly what was set (pixel
// rounding would turn 3500 twips into 3495) while the pixel geometry is
// unchanged; a geometry changed by Qt itself is converted from pixels.
#include "partition_settings/dialog/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace twips {
namespace {

double dotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

enum class Edge { Left, Top, Width, Height };

const char *propertyName(Edge edge)
{
    switch (edge) {
    case Edge::Left: return "twipsLeft";
    case Edge::Top: return "twipsTop";
    case Edge::Width: return "twipsWidth";
    case Edge::Height: return "twipsHeight";
    }
    return "";
}

int pixelsOf(const QWidget *widget, Edge edge)
{
    const QRect g = widget->geometry();
    switch (edge) {
    case Edge::Left: return g.x();
    case Edge::Top: return g.y();
    case Edge::Width: return g.width();
    case Edge::Height: return g.height();
    }
    return 0;
}

int read(const QWidget *widget, Edge edge)
{
    const int pixels = pixelsOf(widget, edge);
    const QVariant stored = widget->property(propertyName(edge));
    if (stored.isValid() && toPixels(stored.toInt()) == pixels)
        return stored.toInt();
    return fromPixels(pixels);
}

// A size is set without a move, so that a window given only its size in
// twips keeps the place the toolkit chooses for it.
void write(QWidget *widget, Edge edge, int value)
{
    widget->setProperty(propertyName(edge), value);
    QRect g = widget->geometry();
    const int pixels = toPixels(value);
    switch (edge) {
    case Edge::Left: widget->move(pixels, g.y()); break;
    case Edge::Top: widget->move(g.x(), pixels); break;
    case Edge::Width: widget->resize(pixels, g.height()); break;
    case Edge::Height: widget->resize(g.width(), pixels); break;
    }
}

} // namespace

int toPixels(int twips) { return int(std::lround(twips * dotsPerInch() / 1440.0)); }
int fromPixels(int pixels) { return int(std::lround(pixels * 1440.0 / dotsPerInch())); }

void setGeometry(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    widget->setProperty(propertyName(Edge::Left), left);
    widget->setProperty(propertyName(Edge::Top), top);
    widget->setProperty(propertyName(Edge::Width), width);
    widget->setProperty(propertyName(Edge::Height), height);
}

int left(const QWidget *widget) { return read(widget, Edge::Left); }
int top(const QWidget *widget) { return read(widget, Edge::Top); }
int width(const QWidget *widget) { return read(widget, Edge::Width); }
int height(const QWidget *widget) { return read(widget, Edge::Height); }
void setLeft(QWidget *widget, int value) { write(widget, Edge::Left, value); }
void setTop(QWidget *widget, int value) { write(widget, Edge::Top, value); }
void setWidth(QWidget *widget, int value) { write(widget, Edge::Width, value); }
void setHeight(QWidget *widget, int value) { write(widget, Edge::Height, value); }

} // namespace twips
