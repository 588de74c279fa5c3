#pragma once
// A dark desktop's palette (as a dark Plasma or GNOME theme hands it over), for the window in dark.
#include <QColor>
#include <QPalette>

inline QPalette darkDesktopPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(232, 232, 232));
    palette.setColor(QPalette::Base, QColor(32, 32, 34));
    palette.setColor(QPalette::AlternateBase, QColor(48, 48, 52));
    palette.setColor(QPalette::Text, QColor(232, 232, 232));
    palette.setColor(QPalette::Button, QColor(58, 58, 62));
    palette.setColor(QPalette::ButtonText, QColor(232, 232, 232));
    palette.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    palette.setColor(QPalette::Highlight, QColor(42, 94, 176));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(72, 72, 78));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    return palette;
}
