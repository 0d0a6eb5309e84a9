# esctool_embed_resources(<target> <group> FILES <files...>)
# Embeds resource files into <target>: text-form component files (*.txt) are
# converted to the binary form by tools/ esctool_rescomp, other files are
# taken as they are. The resource name is the file name without extension,
# looked up without regard to case (rtl::TResourceStream). Code registers the
# group once with RegisterResources_<group>() from the generated header
# "EmbeddedResources_<group>.h".
function(esctool_embed_resources target group)
  cmake_parse_arguments(ARG "" "" "FILES" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded_${group})
  set(source ${out_dir}/EmbeddedResources_${group}.cpp)
  set(header ${out_dir}/EmbeddedResources_${group}.h)
  set(files)
  foreach(file IN LISTS ARG_FILES)
    get_filename_component(file ${file} ABSOLUTE)
    list(APPEND files ${file})
  endforeach()
  add_custom_command(
    OUTPUT ${source} ${header}
    COMMAND esctool_rescomp ${group} ${out_dir} ${files}
    DEPENDS esctool_rescomp ${files}
    COMMENT "Embedding resources ${group}"
    VERBATIM)
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
