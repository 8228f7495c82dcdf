namespace bw {} // filled by the About box
