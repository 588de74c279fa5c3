#pragma once

#include <platform/ui/viewcontroller.h>

namespace quenby {

/// The content of the first-start hint: where the program lives and how its menu works.
class FirstStartViewController : public platform::ui::ViewController {
public:
    static constexpr double kWidth = 384;
    static constexpr double kHeight = 200;

protected:
    void loadView() override;
};

} // namespace quenby
