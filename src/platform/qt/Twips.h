#pragma once

#include <QRect>
#include <QString>

namespace bw {

// The windows are designed in twips, the unit of their original layouts:
// 1440 to the inch, so 15 to a logical pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// A designed length in whole pixels, rounded to the nearest one (half up):
// rounded, not cut, so that a control keeps its designed size as nearly as
// pixels allow.
constexpr int pixelsFromTwips(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

constexpr int twipsFromPixels(int pixels) { return pixels * kTwipsPerPixel; }

// A designed rectangle, left, top, width and height in twips, in pixels.
inline QRect twipRect(int left, int top, int width, int height) {
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width), pixelsFromTwips(height)};
}

// Names a control of a designed window and puts it in its place.
template <typename Widget>
Widget* place(Widget* widget, const char* name, QRect where) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(where);
    return widget;
}

}  // namespace bw
