# Run by CPack once it has installed and stripped the files, before it packs them: signs every
# program and library when scripts/sign-windows.sh is given a certificate.
if(DEFINED ENV{QUORVEL_SIGN_PKCS12})
    file(GLOB_RECURSE binaries "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe"
         "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.dll")
    execute_process(COMMAND ${CPACK_QUORVEL_SIGN_SCRIPT} ${binaries} COMMAND_ERROR_IS_FATAL ANY)
endif()
