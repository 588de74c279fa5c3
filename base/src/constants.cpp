#include "tavrin/constants.h"
