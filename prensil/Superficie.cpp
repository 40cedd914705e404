#include "prensil/Superficie.h"
