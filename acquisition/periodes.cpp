#include "acquisition/periodes.h"

namespace {

constexpr PeriodeOfferte periodes[] = {
    {0, "0.5 s"},   {1, "1 s"},      {2, "2 s"},      {5, "5 s"},       {10, "10 s"},
    {12, "12 s"},   {15, "15 s"},    {30, "30 s"},    {60, "1 min"},    {120, "2 min"},
    {300, "5 min"}, {600, "10 min"}, {900, "15 min"}, {1800, "30 min"}, {3600, "1 h"},
};

} // namespace

std::span<const PeriodeOfferte> periodes_offertes()
{
    return periodes;
}
