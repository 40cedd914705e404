# zove_publica_cabecalhos(TARGET): code linking the library TARGET includes its headers as "TARGET/X.h".
# The include folder published for that is made in the build tree and holds only a link named TARGET to
# the library's source folder, so linking the library gives its own headers and nothing else of the
# repository (the program's headers sit beside the library's folder).
function(zove_publica_cabecalhos alvo)
    set(pasta ${CMAKE_CURRENT_BINARY_DIR}/include)
    file(MAKE_DIRECTORY ${pasta})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${pasta}/${alvo} SYMBOLIC)
    target_include_directories(${alvo} PUBLIC $<BUILD_INTERFACE:${pasta}>)
endfunction()
