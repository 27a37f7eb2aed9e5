#include "platform/SerialLib.h"
