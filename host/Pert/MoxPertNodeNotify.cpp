#include "MoxPertNodeNotify.h"

MoxPertNodeNotify::MoxPertNodeNotify(const KivBaseUnknown_var& node, double x, double y)
    : node_(node), x_(x), y_(y) {}
