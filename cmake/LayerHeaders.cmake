# Include paths per layer. Sources include each other as "folder/Header.h"
# from src/. Rather than putting all of src/ on every target's include path,
# each layer target publishes its own headers: for src/<folder>/<Name>.h it
# writes <build>/include/<target>/<folder>/<Name>.h, one line that includes the
# source header, and puts that directory on its include path. A target can
# then include the headers of its own layer and of the layers it links, and
# nothing else: the build refuses an include that goes against the layers.
#
#   layer_headers(<target> [PUBLIC <headers>...] [PRIVATE <headers>...])
#
# PRIVATE headers are seen only by the target's own sources (the rowset layer
# keeps its pugixml internals there). Header paths are relative to the
# current source directory.
function(layer_headers target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PUBLIC;PRIVATE")
    get_target_property(type ${target} TYPE)
    set(interface OFF)
    if(type STREQUAL "INTERFACE_LIBRARY")
        set(interface ON)
    endif()
    foreach(scope PUBLIC PRIVATE)
        set(public_scope ${scope})
        if(interface)
            set(public_scope INTERFACE)
        endif()
        set(root ${PROJECT_BINARY_DIR}/include/${target})
        if(scope STREQUAL "PRIVATE")
            set(root ${root}-private)
        endif()
        foreach(header IN LISTS arg_${scope})
            cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE
                       OUTPUT_VARIABLE source)
            cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR}/src OUTPUT_VARIABLE published)
            file(CONFIGURE OUTPUT ${root}/${published} CONTENT "#include \"${source}\"\n" @ONLY)
            if(NOT interface)
                target_sources(${target} PRIVATE ${header})
            endif()
        endforeach()
        if(arg_${scope})
            target_include_directories(${target} ${public_scope} ${root})
        endif()
    endforeach()
endfunction()

# The public headers of the component's libraries, as a host includes them:
# side by side in one folder, by their names alone (an installed header
# includes its neighbour as "VEL_COM.h"). The target and whatever links it
# get that folder on their include path.
#
#   public_header(<target> <headers>...)
function(public_header target)
    set(root ${PROJECT_BINARY_DIR}/include/public)
    foreach(header IN LISTS ARGN)
        cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE OUTPUT_VARIABLE source)
        cmake_path(GET source FILENAME name)
        file(CONFIGURE OUTPUT ${root}/${name} CONTENT "#include \"${source}\"\n" @ONLY)
        set_property(GLOBAL APPEND PROPERTY PARTITION_SETTINGS_PUBLIC_HEADERS ${source})
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
