#include "platform/Cp1252.h"
