#pragma once

namespace fennic {

/// Each device record carries one instance as its `id`; it holds no data of its own.
class UUID {
};

} // namespace fennic
