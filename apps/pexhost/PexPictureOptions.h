#pragma once
// How `pexhost view` and the render step size and describe a picture:
// --scale PIXELS_PER_UNIT, --fit WIDTHxHEIGHT and --crop XMIN,YMIN,XMAX,YMAX
// (viewer units, as the JSON listing gives them), each also as
// --option=value; and the title, legend and tooltips of the current level.
#include <cstddef>
#include <string>
#include <vector>

#include "KivPictureLayout.h"

class PexSession;

enum class PexOptionUse { NotMine, Taken, Bad };

// Takes args[i] (and its value, advancing i) when it is a picture option;
// Bad with the reason in `error` for a missing or malformed value.
PexOptionUse PexTakePictureOption(const std::vector<std::string>& args, std::size_t& i,
                                  KivPictureOptions& options, std::string& error);

// The usage of the picture options, for messages.
inline constexpr const char* kPexPictureOptionsUsage =
    "[--scale PIXELS_PER_UNIT] [--fit WIDTHxHEIGHT] [--crop XMIN,YMIN,XMAX,YMAX]";

// The label of the legend entry that shows a greyed button's icon.
inline constexpr const char* kPexGreyedButtonLabel = "greyed: empty list";

// The title (document and level), the legend (the colours of the node types
// drawn, the icons of the buttons shown and, when one is greyed, what grey
// means) and the tooltips (full node names) of the session's current level.
void PexDescribePicture(const PexSession& session, KivPictureOptions& options);
