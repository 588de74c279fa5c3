#include "pirrow/bezierpathextensions.h"

#include <olvane/bezierpathextensions.h>

namespace pirrow {

platform::ui::Path BezierPathExtensions::cgPath(const platform::ui::BezierPath &path)
{
    return olvane::BezierPathExtensions::cgPath(path);
}

} // namespace pirrow
