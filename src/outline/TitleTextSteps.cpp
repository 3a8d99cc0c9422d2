#include "outline/TitleTextSteps.h"

namespace pcbprep {

void AppendSilkTexts(DblDocument&, const OutlineSettings&) {}
void AppendFilmTitles(DblDocument&, const OutlineSettings&) {}

}  // namespace pcbprep
