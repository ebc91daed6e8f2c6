// Twips (1/1440 inch), the unit of every position and size of the dialog,
// converted to and from Qt's device-independent pixels: 15 twips a pixel at
// 96 dpi.
#pragma once

#include <QRect>

class QWidget;

namespace twips {

int toPixels(int twips);
int fromPixels(int pixels);

// Places a control inside its container, all values in twips.
void setGeometry(QWidget *widget, int left, int top, int width, int height);

// A control's position and size in twips, relative to its container.
int left(const QWidget *widget);
int top(const QWidget *widget);
int width(const QWidget *widget);
int height(const QWidget *widget);
void setLeft(QWidget *widget, int left);
void setTop(QWidget *widget, int top);
void setWidth(QWidget *widget, int width);
void setHeight(QWidget *widget, int height);

} // namespace twips
