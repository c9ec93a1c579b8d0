#include "model/Utils.h"
