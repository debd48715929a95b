#include "bilanz.h"
