namespace bw {} // filled by the sharing windows
