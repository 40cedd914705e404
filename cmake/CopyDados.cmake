# Copies the delivered Dados folder without overwriting the tables the program writes itself.
file(MAKE_DIRECTORY ${DST})
file(GLOB _files LIST_DIRECTORIES false RELATIVE ${SRC} ${SRC}/*)
foreach(f ${_files})
    if((f STREQUAL "ZOV" OR f STREQUAL "CONTRIBUINTE") AND EXISTS ${DST}/${f})
        continue()
    endif()
    file(COPY_FILE ${SRC}/${f} ${DST}/${f} ONLY_IF_DIFFERENT)
endforeach()
