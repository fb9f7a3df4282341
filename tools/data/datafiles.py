"""Writing data files so that a rebuild with unchanged sources leaves them byte-identical."""
import io
import pathlib


def write_bytes(path, data):
    """Writes the bytes unless the file already holds exactly them (keeps timestamps stable)."""
    path = pathlib.Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    if path.exists() and path.read_bytes() == data:
        return
    path.write_bytes(data)


def write_text(path, text):
    """Writes LF-only text: the game splits its text files at line feeds and keeps carriage returns."""
    if "\r" in text:
        raise ValueError(f"{path}: text data must not contain carriage returns")
    write_bytes(path, text.encode("ascii"))


def write_png(path, image):
    """Writes a PIL image as an 8-bit RGBA PNG whose sides are powers of two."""
    width, height = image.size
    for side in (width, height):
        if side & (side - 1):
            raise ValueError(f"{path}: {width}x{height} is not a power of two on both sides")
    buffer = io.BytesIO()
    image.convert("RGBA").save(buffer, format="PNG", optimize=False)
    write_bytes(path, buffer.getvalue())
