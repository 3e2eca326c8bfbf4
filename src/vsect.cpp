// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Hyx.h"

int main() { HYX::Hyx::exit(HYX::Hyx::NOERR); }
