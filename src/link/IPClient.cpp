#include "link/IPClient.h"
