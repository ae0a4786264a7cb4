###############################################################################
# Voxclock: SvxLink events for the Voxclock announcer.
#
# Drop into /usr/share/svxlink/events.d/local/. events.tcl sources it once in
# each logic's Tcl interpreter, from inside a proc (hence $::logic_name).
# Each wrapped handler publishes one line on the logic's STATE_PTY
# ("<unix s>.<ms> <name> <data>"), then runs the stock handler, so SvxLink
# behaves as before.
#
# DTMF: a command listed in the codes file is Voxclock's. It is published and
# swallowed (the handler returns 1), so SvxLink's modules do not act on it too.
# Voxclock rewrites the file at start-up, when its DTMF setup changes and every
# two and a half minutes, and removes it when it stops; a file older than five
# minutes is ignored. It is read on every command, so no restart is needed.
###############################################################################

namespace eval Voxclock {
  variable codes_file "/var/run/svxlink/voxclock_codes"
  if {[info exists ::env(VOXCLOCK_CODES_FILE)]} {
    set codes_file $::env(VOXCLOCK_CODES_FILE)
  }

  # Free text on one line: backslash, CR and LF escaped; Voxclock undoes it.
  proc clean {txt} {
    return [string map {"\\" "\\\\" "\r" "\\r" "\n" "\\n"} $txt]
  }

  # A file older than this was left by a Voxclock that is not running (it
  # rewrites the file every two and a half minutes): its codes go to SvxLink.
  variable stale_seconds 300

  proc is_ours {cmd} {
    variable codes_file
    variable stale_seconds
    if {$cmd eq "" || [catch {file mtime $codes_file} mtime]} { return 0 }
    if {[clock seconds] - $mtime > $stale_seconds} { return 0 }
    if {[catch {open $codes_file r} f]} { return 0 }
    set found 0
    while {[gets $f line] >= 0} {
      set line [string trim $line]
      if {$line ne "" && [string index $line 0] ne "#" && $line eq $cmd} {
        set found 1
        break
      }
    }
    close $f
    return $found
  }

  # Wrap proc $ns::$name: publish "$ctx:$name <args>" then run the original.
  proc wrap {ns name ctx} {
    set full "::${ns}::${name}"
    if {[info procs $full] eq ""} { return }
    set orig "::${ns}::voxclock_orig_${name}"
    if {[info procs $orig] ne ""} { return }
    rename $full $orig
    set params [info args $orig]
    set args ""
    foreach p $params { append args " \$$p" }
    set body "::publishStateEvent \"$ctx:$name\" \[::Voxclock::clean \[join \[list$args\]\]\]\n"
    if {$name eq "dtmf_cmd_received"} {
      append body "if {\[::Voxclock::is_ours \$[lindex $params 0]\]} { return 1 }\n"
    }
    append body "return \[$orig$args\]"
    proc $full $params $body
  }
}

foreach ev {transmit squelch_open dtmf_cmd_received logic_online} {
  Voxclock::wrap $::logic_name $ev "Logic"
}

foreach ev {remote_connected connected disconnected chat_received
            client_list_changed is_receiving} {
  Voxclock::wrap EchoLink $ev "EchoLink"
}
