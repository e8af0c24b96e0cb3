# Sourced by the scripts that install packages. Another installer may hold the package lock;
# wait_for_lock waits for it instead of failing.
wait_for_lock() {
    command -v fuser >/dev/null || return 0 # apt's own lock timeout still waits
    local waited=0
    while fuser /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock \
        >/dev/null 2>&1; do
        if [ $waited -ge 600 ]; then
            echo "The package lock is still held after 10 minutes." >&2
            return 1
        fi
        sleep 3
        waited=$((waited + 3))
    done
}
