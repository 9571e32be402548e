# Read by CPack for each generator: the zip unpacks into one folder named like the file; the
# installer puts the files into the folder the user chooses.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
