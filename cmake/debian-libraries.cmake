# The Windows build's libraries that Debian ships only for Linux, built from
# Debian's source packages of the versions the Linux build links
# (debian-libraries.sh, once, into the build tree), and the header-only ones
# taken from the Linux side, each by its own folder only.
set(DEBIAN_LIBRARIES ${CMAKE_BINARY_DIR}/debian-libraries)
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/debian-libraries.sh ${DEBIAN_LIBRARIES}
  RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "The libraries from Debian's source packages could not be built (above)")
endif()

enable_language(C)
add_library(debian_sqlite3 STATIC ${DEBIAN_LIBRARIES}/sqlite3/sqlite3.c)
target_include_directories(debian_sqlite3 SYSTEM PUBLIC ${DEBIAN_LIBRARIES}/sqlite3)
target_compile_definitions(debian_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_SECURE_DELETE SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(debian_sqlite3 PRIVATE -w)  # SQLite's own code, as SQLite ships it

add_library(debian_sodium STATIC IMPORTED)
set_target_properties(debian_sodium PROPERTIES
  IMPORTED_LOCATION ${DEBIAN_LIBRARIES}/libsodium/lib/libsodium.a
  INTERFACE_INCLUDE_DIRECTORIES ${DEBIAN_LIBRARIES}/libsodium/include
  INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC
  INTERFACE_LINK_LIBRARIES advapi32)

set(HEADER_ONLY ${DEBIAN_LIBRARIES}/headers)
file(MAKE_DIRECTORY ${HEADER_ONLY})
foreach(library boost nlohmann)
  file(CREATE_LINK /usr/include/${library} ${HEADER_ONLY}/${library} SYMBOLIC)
endforeach()
add_library(debian_headers INTERFACE)
target_include_directories(debian_headers SYSTEM INTERFACE ${HEADER_ONLY})
