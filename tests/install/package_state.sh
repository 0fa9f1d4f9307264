# package_state.sh: sourced by the package checks; whether dpkg holds a package's files here.
# "not-installed" (a purged package dpkg still lists) and "config-files" leave nothing to replace.
package_on_machine() {
  case $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) in
    '' | not-installed | config-files) return 1 ;;
    *) return 0 ;;
  esac
}
