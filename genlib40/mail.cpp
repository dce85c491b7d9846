#include "abi.h"
