// What keeps a variable list from being drawn in a cross section, said before anything is
// drawn: variables the section cannot compute, units its values cannot be converted to,
// options that contour nothing or numbers that are not numbers, and plot types that do not
// exist, each with the nearest name that does.
#ifndef HYX_VARLISTCHECK_H
#define HYX_VARLISTCHECK_H

#include "HYX/Export.h"

#include <string>
#include <vector>

namespace HYX {

class HYX_API VarListCheck {
public:
    // var_file: the variable file whose named lists the text may use (in the database).
    explicit VarListCheck(const char* var_file);

    // One line per problem of the list text as the drawing expands it; empty when every
    // variable can be drawn.
    std::vector<std::string> check(const char* text) const;
    // The variables of the list text that need a line of stations (the wind across and
    // along a section), which a time section does not have.
    std::vector<std::string> needingLine(const char* text) const;
    // The problem of a plot type: empty for a known one, and for none at all. where tells
    // where it was given (" (-pl)").
    static std::string checkPlotType(const char* type, const char* where);
    // The units a section's values of a variable come in.
    static const char* valueUnits(const char* name);

private:
    std::string problemOfUnits(const char* name, const char* units, const char* list) const;
    std::string problemOfOption(const char* name, const std::string& option,
                                const char* list) const;

    std::string var_file;
    std::vector<std::string> variables; // what the section computes, and the named lists
};

} // namespace HYX

#endif
