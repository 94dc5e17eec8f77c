// An empty library: the probes exist only for their resources (or the lack of them).
int probeMarker() {
    return 0;
}
