#include "common/NameTables.h"
