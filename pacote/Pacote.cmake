# Install rules and the Debian package (CPack). Installed, the program finds its private libraries
# through a relative RPATH and its delivered tables and pages in share/zove, so the whole tree can be
# moved; it never writes there (each user's data folder is made from share/zove/Dados).
include(GNUInstallDirs)
# Installing (and so CPack) takes what is built; scripts/empacotar.sh builds only the installed targets
# rather than the tests too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# Private libraries under lib/<multiarch>/zove whatever the prefix, where Debian keeps a program's own.
if(CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
    set(ZOVE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}/zove")
else()
    set(ZOVE_INSTALL_LIBDIR "${CMAKE_INSTALL_LIBDIR}/zove")
endif()
set(ZOVE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/zove")
set(_raiz "/raiz")
file(RELATIVE_PATH ZOVE_BIN_PARA_LIB "${_raiz}/${CMAKE_INSTALL_BINDIR}" "${_raiz}/${ZOVE_INSTALL_LIBDIR}")
file(RELATIVE_PATH ZOVE_BIN_PARA_DADOS "${_raiz}/${CMAKE_INSTALL_BINDIR}" "${_raiz}/${ZOVE_INSTALL_DATADIR}")

# Only the file that looks for the shared folder gets the path, so no other object is rebuilt.
set_source_files_properties(${PROJECT_SOURCE_DIR}/data/PastaDeDados.cpp PROPERTIES
    COMPILE_DEFINITIONS "ZOVE_COMPARTILHADO_RELATIVO=\"${ZOVE_BIN_PARA_DADOS}\"")

set_target_properties(zove zove-assina PROPERTIES INSTALL_RPATH "$ORIGIN/${ZOVE_BIN_PARA_LIB}")
install(TARGETS zove zove-assina RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tabulon prensil LIBRARY DESTINATION ${ZOVE_INSTALL_LIBDIR} NAMELINK_SKIP)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/dados/ DESTINATION ${ZOVE_INSTALL_DATADIR}/Dados)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ZOVE.html ${PROJECT_SOURCE_DIR}/resources/TaxasdeServicosEstaduais.htm
        DESTINATION ${ZOVE_INSTALL_DATADIR})

set(_pacote ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${_pacote}/br.gov.ostral.pyx.Zove.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pacote}/br.gov.ostral.pyx.Zove.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${_pacote}/icones/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${_pacote}/icones/br.gov.ostral.pyx.Zove.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the changelog go compressed, as Debian keeps them; -n leaves the date out, so the
# same sources give the same bytes.
find_program(ZOVE_GZIP gzip REQUIRED)
set(_comprimidos)
foreach(_arquivo zove.1 zove-assina.1 changelog)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/pacote/${_arquivo}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/pacote
        COMMAND ${ZOVE_GZIP} -9n -c ${_pacote}/${_arquivo} > ${PROJECT_BINARY_DIR}/pacote/${_arquivo}.gz
        DEPENDS ${_pacote}/${_arquivo} VERBATIM)
    list(APPEND _comprimidos ${PROJECT_BINARY_DIR}/pacote/${_arquivo}.gz)
endforeach()
add_custom_target(pacote_arquivos ALL DEPENDS ${_comprimidos})
install(FILES ${PROJECT_BINARY_DIR}/pacote/zove.1.gz ${PROJECT_BINARY_DIR}/pacote/zove-assina.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/pacote/changelog.gz ${_pacote}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zove)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zove)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_VENDOR "Governo do Estado de Ostral")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "emissor do documento de arrecadação das receitas estaduais")
# CPack writes the summary as the synopsis and indents these lines under it (an empty line becomes " .").
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "O ZOVE emite o documento de arrecadação das receitas estaduais do Estado
de Ostral, pago nos bancos pelo seu código de barras: formulário com as
regras de cada receita, impressão em A4 com três vias, documentos e
contribuintes salvos, importação em lote e troca do cadastro de
contribuintes.

Cada usuário trabalha na sua pasta de dados (~/.local/share/ZOVE/Dados),
criada a partir das tabelas instaladas; uma pasta comum de escritório pode
ser indicada na configuração.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "PYX - Governo do Estado de Ostral <zove@pyx.ostral.gov.br>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.pyx.ostral.gov.br")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries it links (Qt, libcups, the C++ runtime) come from the shared-library scan; the fonts the
# printed page is measured with, and Qt's own dialogs in Portuguese, do not show up there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps runs in the staging root, so the folder is given relative to it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${ZOVE_INSTALL_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/pacote)
include(CPack)
