#pragma once

#include <platform/ui/scrollview.h>

namespace pirrow {

/// A scroll view that draws no background, nor does its content view.
class NoBackgroundScrollView : public platform::ui::ScrollView {
    Q_OBJECT
public:
    explicit NoBackgroundScrollView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
};

} // namespace pirrow
