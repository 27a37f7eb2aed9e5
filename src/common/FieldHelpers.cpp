#include "common/FieldHelpers.h"
