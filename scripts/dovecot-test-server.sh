#!/usr/bin/env bash
# A Dovecot IMAP server of the tests' own, on 127.0.0.1 and 127.0.0.2 at free ports:
#   dovecot-test-server.sh start DIR   makes DIR (CA, certificates, users, configuration) if
#                                      needed and starts the server; DIR/ports names the ports
#   dovecot-test-server.sh fresh DIR   likewise, after stopping it and making DIR anew
#   dovecot-test-server.sh stop DIR    stops it and waits until it is gone
#   dovecot-test-server.sh crash DIR   kills it and its sessions at once, as a failing server
# 127.0.0.2 shows a certificate for another name; 127.0.0.3 offers no STARTTLS. The user is "rotam", password "secret".
set -euo pipefail
command=$1
dir=$(realpath -m "$2")
conf=$dir/dovecot.conf

make_certificates() {
    cd "$dir"
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=rotam test CA" \
        -keyout ca.key -out ca.pem 2>/dev/null
    for name in server wrong; do
        if [ $name = server ]; then san="IP:127.0.0.1,DNS:localhost"; else san="DNS:wrong.example"; fi
        openssl req -newkey rsa:2048 -nodes -subj "/CN=$name" -keyout $name.key -out $name.csr 2>/dev/null
        openssl x509 -req -in $name.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 3650 \
            -extfile <(echo "subjectAltName=$san") -out $name.pem 2>/dev/null
    done
    cd - >/dev/null
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

make_configuration() {
    mkdir -p "$dir/run" "$dir/home"
    make_certificates
    local imap imaps
    imap=$(free_port)
    imaps=$(free_port)
    printf 'imap=%s\nimaps=%s\n' "$imap" "$imaps" >"$dir/ports"
    # As root the mail processes run as the dovecot user; otherwise all runs as the caller.
    local user uid gid extra=""
    if [ "$(id -u)" -eq 0 ]; then
        user=dovecot
        extra="default_login_user = dovenull"
    else
        user=$(id -un)
        extra="default_login_user = $user
service imap-login {
  chroot =
}"
    fi
    uid=$(id -u "$user")
    gid=$(id -g "$user")
    chown -R "$uid:$gid" "$dir/home"
    echo "rotam:{PLAIN}secret:$uid:$gid::$dir/home" >"$dir/users"
    cat >"$conf" <<CONF
base_dir = $dir/run
instance_name = rotam-test-$imap
state_dir = $dir/run
listen = 127.0.0.1, 127.0.0.2, 127.0.0.3
protocols = imap
log_path = $dir/dovecot.log
ssl = yes
ssl_cert = <$dir/server.pem
ssl_key = <$dir/server.key
local 127.0.0.2 {
  ssl_cert = <$dir/wrong.pem
  ssl_key = <$dir/wrong.key
}
local 127.0.0.3 {
  ssl = no
}
disable_plaintext_auth = yes
auth_mechanisms = plain login
# Failed logins are tested; no need to wait after each.
auth_failure_delay = 0
passdb {
  driver = passwd-file
  args = scheme=PLAIN $dir/users
}
userdb {
  driver = passwd-file
  args = $dir/users
}
mail_location = maildir:~/Maildir
first_valid_uid = 1
first_valid_gid = 1
default_internal_user = $user
$extra
service imap-login {
  inet_listener imap {
    port = $imap
  }
  inet_listener imaps {
    port = $imaps
    ssl = yes
  }
}
CONF
}

stop_server() {
    local pid
    pid=$(cat "$dir/run/master.pid" 2>/dev/null || true)
    [ -n "$pid" ] || return 0
    dovecot -c "$conf" stop 2>/dev/null || kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

case $command in
fresh | start)
    if [ "$command" = fresh ]; then
        stop_server
        rm -rf "$dir"
    fi
    [ -f "$conf" ] || make_configuration
    # shellcheck disable=SC1091
    . "$dir/ports"
    # Its output would keep the caller (CTest) waiting for the end of the pipe.
    dovecot -c "$conf" </dev/null &>/dev/null
    for _ in $(seq 100); do
        (exec 3<>"/dev/tcp/127.0.0.1/$imaps") 2>/dev/null && exit 0
        sleep 0.1
    done
    echo "dovecot did not start; see $dir/dovecot.log" >&2
    exit 1
    ;;
stop)
    stop_server
    ;;
crash)
    # A stopping Dovecot lets its sessions finish the command at hand; a crash does not.
    pid=$(cat "$dir/run/master.pid")
    kill -STOP "$pid"
    pkill -KILL -P "$pid" || true
    kill -KILL "$pid"
    while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
    ;;
*)
    echo "usage: $0 fresh|start|stop|crash DIR" >&2
    exit 2
    ;;
esac
