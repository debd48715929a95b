#include "pdfdruckausgabe.h"
