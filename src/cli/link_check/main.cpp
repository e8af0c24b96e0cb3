// Links nothing of its own: the build links every object of the verbs into it against the
// core alone, so that the link fails when a verb reaches for a printer or a widget.
int main() {
    return 0;
}
