// Reaches into module B by name and by path; sees the public interface.
#include "../../MoxB.m/src/MoxB.h"
#include "MoxB.h"
#include "MoxIPublic.h"
