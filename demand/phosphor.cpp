#include "phosphor.h"
