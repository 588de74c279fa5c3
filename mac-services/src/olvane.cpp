#include "olvane/olvane.h"
