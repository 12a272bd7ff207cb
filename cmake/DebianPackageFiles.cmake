# Run by CPack on the files of the Debian package, once they are installed into its staging folder
# and before the package is made (CPACK_PRE_BUILD_SCRIPTS): what Debian asks of a game's package
# beyond any install of it.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(program_folder "${usr}/lib/corvane")
set(doc "${usr}/share/doc/corvane")

# The command where Debian puts games, /usr/games; the relative link points the same way from
# there as from bin/.
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/corvane" "${usr}/games/corvane")
file(REMOVE_RECURSE "${usr}/bin")

# The help files are documentation, kept under /usr/share/doc; the program finds them beside
# itself through links. Where an administrator leaves the documentation out, F1 says that the file
# is missing and that Shift-F2 reads the keys.
foreach(name help.html Corvane.txt)
  file(RENAME "${program_folder}/${name}" "${doc}/${name}")
  file(CREATE_LINK "../../share/doc/corvane/${name}" "${program_folder}/${name}" SYMBOLIC)
endforeach()

# Stripped as Debian strips programs, without the compiler's comment and note sections.
execute_process(COMMAND "${CPACK_CORVANE_STRIP}" --remove-section=.comment --remove-section=.note
                        "${program_folder}/corvane" COMMAND_ERROR_IS_FATAL ANY)

# The help, registered with the system's documentation index.
file(MAKE_DIRECTORY "${usr}/share/doc-base")
file(COPY_FILE "${CPACK_CORVANE_DOC_BASE}" "${usr}/share/doc-base/corvane")

# What Debian's checker, lintian, reports of this package and the package does on purpose.
file(MAKE_DIRECTORY "${usr}/share/lintian/overrides")
file(COPY_FILE "${CPACK_CORVANE_LINTIAN_OVERRIDES}" "${usr}/share/lintian/overrides/corvane")
