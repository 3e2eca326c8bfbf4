# hyx_subsystem(<name> USES <subsystem>... CLASSES <Class>... [SOURCES <file stem>...])
# An object library hyx_<name> of lib/<Class>.cpp for every class that has a source file (and
# of the extra SOURCES), linked into libhyx. The declaration is also read by the layering
# test, which checks that each file includes only headers of its own subsystem and of the
# subsystems it USES.
function(hyx_subsystem name)
    cmake_parse_arguments(SUB "" "" "USES;CLASSES;SOURCES" ${ARGN})
    set(sources)
    foreach(stem IN LISTS SUB_CLASSES SUB_SOURCES)
        if(EXISTS ${PROJECT_SOURCE_DIR}/lib/${stem}.cpp)
            list(APPEND sources ${PROJECT_SOURCE_DIR}/lib/${stem}.cpp)
        endif()
    endforeach()
    add_library(hyx_${name} OBJECT ${sources})
    target_include_directories(hyx_${name} PUBLIC ${PROJECT_SOURCE_DIR}/include)
    # Only the classes marked HYX_API (include/HYX/Export.h) are exported from libhyx.
    set_target_properties(hyx_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    set(HYX_SUBSYSTEMS ${HYX_SUBSYSTEMS} hyx_${name} PARENT_SCOPE)
endfunction()
