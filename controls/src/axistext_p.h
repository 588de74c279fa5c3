#pragma once

#include "pirrow/screenextensions.h"

#include <platform/ui/text.h>
#include <platform/ui/textlayer.h>

#include <QDateTime>
#include <QLocale>

namespace pirrow {

/// The size a text takes in `font` alone, laid out within `constraint`.
inline platform::ui::Size measuredText(
    const QString &text, const platform::ui::Font &font, platform::ui::Size constraint)
{
    platform::ui::TextAttributes attributes;
    attributes.font = font;
    return platform::ui::Text::boundingRect(text, constraint, attributes).size;
}

/// A text layer of an axis: the font at its size, the colour and the alignment, at the screen's scale.
inline std::shared_ptr<platform::ui::TextLayer> axisTextLayer(const QString &text, const platform::ui::Font &font,
    const platform::ui::Color &color, platform::ui::TextAlignment alignment)
{
    auto layer = platform::ui::TextLayer::create();
    layer->setFont(font);
    layer->setFontSize(font.pointSize());
    layer->setForegroundColor(color);
    layer->setString(text);
    layer->setAlignmentMode(alignment);
    layer->setContentsScale(ScreenExtensions::mainScale());
    return layer;
}

/// The stand-alone abbreviated month name of a time (seconds since 1970), in the current locale.
inline QString monthShortName(double seconds)
{
    const QDateTime date = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds));
    return QLocale().standaloneMonthName(date.date().month(), QLocale::ShortFormat);
}

} // namespace pirrow
