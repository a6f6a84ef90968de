#include "DataDefine.h"
